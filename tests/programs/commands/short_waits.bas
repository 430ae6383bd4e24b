// Every wait lasts at least the time asked, the shortest included: a wait
// that ends up to a millisecond early makes 1 ms pauses almost vanish.
t = timer()
for i = 1 to 50
delay 1
next i
print "delay 1: ", timer() - t >= 50
t = timer()
for i = 1 to 20
delay 3
next i
print "delay 3: ", timer() - t >= 60
t = timer()
for i = 1 to 50
sound 440, 1
next i
print "sound 440, 1: ", timer() - t >= 50
t = timer()
for i = 1 to 20
sound 0, 2
next i
print "rest of 2: ", timer() - t >= 40
t = timer()
for i = 1 to 20
sound 440, 2, 0
next i
print "unpumped tone of 2: ", timer() - t >= 40
t = timer()
playsong "T64C64C64C64C64C64C64C64C64C64C64C64C64C64C64C64C64C64C64C64C64"
print "tune of 1 ms notes: ", timer() - t >= 20
t = timer()
rlocate 400, 300
rspeed 2
rforward 30
print "robot steps of 2: ", timer() - t >= 60
