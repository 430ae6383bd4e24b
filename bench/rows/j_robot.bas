rlocate 400, 300
rspeed 0
k = 0
for i = 1 to 100000
rforward 1
rturn 2
k = k + 1 + rsense()
rspeed 0
next
print k
