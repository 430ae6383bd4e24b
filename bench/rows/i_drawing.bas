for i = 1 to 100000
x = mod(i, 700)
y = mod(i * 7, 500)
line x, y, x + 100, y + 90
rectangle x, y, x + 40, y + 40, 1, 4
next
print "done"
