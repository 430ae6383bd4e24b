' rotatecb by 90 turns the clipboard's picture in its own 4 x 2 frame around
' the centre; what no pixel reaches takes the top-left colour (black).
dim p[2, 4]
for y = 0 to 1
for x = 0 to 3
p[y, x] = 16777215
next
next
p[0, 3] = 255
p[0, 0] = 0
mwritebmp p
rotatecb 90
mreadbmp r
print r[0, 0], " ", r[0, 1], " ", r[0, 2], " ", r[1, 3]
' rotatebmp by 90 draws the part unrotated.
mwritebmp p, "/tmp/qv-images-rot"
rectanglewh 0, 0, 800, 600, 0, 0
rotatebmp "/tmp/qv-images-rot", 90, 5, 5
mscrtoarray s, 5, 5, 4, 2
print s[0, 3], " ", s[0, 0]
' At 45 degrees the corners keep the corner colour of the whole picture.
dim q[20, 20]
for y = 0 to 19
for x = 0 to 19
q[y, x] = 16711680
next
next
q[0, 0] = 65280
mwritebmp q, "/tmp/qv-images-rot45.bmp"
rotatebmp "/tmp/qv-images-rot45", 45, 100, 100
mscrtoarray s, 100, 100, 20, 20
print s[0, 0], " ", s[19, 19], " ", s[10, 10]
