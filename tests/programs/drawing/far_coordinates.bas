// Coordinates and sizes far outside the image are clipped, never slow.
big = 2147483647
small = -2147483647 - 1
line small, small, big, big
line big, 0, small, 599, 7, 4
circle small, small, big, big, 1, 2
circlewh big, big, big, big
rectanglewh 0, 0, big, big, 3, 4
erectangle small, small, big, big, 9, 5
arc small, small, big, big, 0, 1, 3, 6
pie big, big, small, small, 1e300, -1e300
drawshape "rdlu1qwas", big, big, big
xytext big, big, "far", "", big, big, big, big
overlaytext small, small, "far", "", small, small, small
floodfill2 big, small
floodfill small, big
gotoxy big, big
lineto small, small
setpixel big, big, big
setcursor small
print "clipped"
