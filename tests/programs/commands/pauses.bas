t = timer()
delay 150
print timer() - t >= 140
t = timer()
beep 2
print timer() - t >= 430
t = timer()
beep -3
e = timer() - t
print e >= 215
print e < 430
t = timer()
delay 0
print timer() - t >= 990
t = timer()
waitnokey
waitnokey -500
print timer() - t < 100
