t1 = timer()
delay 120
t2 = timer()
print t2 - t1 >= 100
print t2 - t1 < 1000
n = now()
print n > dateval(2024, 1, 1)
print length(time()) = 8
print left(date(), 2) = "20"
print datetimeval(date()) <= n
