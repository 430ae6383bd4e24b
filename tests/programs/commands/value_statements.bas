xyinput a, -2, -2, "Age?", "0"
print a + 1
xyinput a, 10, 10, "Height?", 0, 50
print a * 2
xyinput a
print a
xyinput a, -1, -1, "Left:", "initial"
print a
rlocate 400, 300
rgps x, y
print x
print y
rsensora 0, 30, c, d, h
print h
rsensor 1, 30, c, d, h
print h
