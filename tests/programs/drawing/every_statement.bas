print "start"
setcolor 4, 14
setcolor
setpixel
setpixel 1, 1, 2
gotoxy
gotoxy 10, 10
lineto 20, 20
lineto 30, 20, 3, 1
line 0, 0, 799, 599
line 0, 599, 799, 0, 2, 4
circle 10, 10, 20, 20
circlewh 30, 10, 10, 10, 1
rectangle 50, 10, 60, 20, 2, 3
rectanglewh 70, 10, 10, 10
erectangle 90, 10, 100, 20
erectanglewh 110, 10, 10, 10, 2, 5
arc 130, 10, 170, 50
arc 130, 10, 170, 50, 0.5, 2, 3, 6
pie 180, 10, 220, 50, 1, 1.5
pie 180, 10, 220, 50, 1, 1.5, 7, 8
floodfill
floodfill 400, 400, 9, -1
floodfill2
floodfill2 400, 400, 10, 4
drawshape "rrdd3ll-uu", 300, 300
drawshape "rrdd", 300, 300, 5, 12
xystring 10, 500, "xystring"
xytext
xytext 10, 520, "xytext"
xytext 10, 540, 3.5, "", 14, 7, 0, 11
overlaytext 200, 540, "overlay", "", 12, 1, 4, 99
setmousepos
setmousepos 100, 100
setcursor
setcursor 3
waitnokeye 65
waitnokeye 65, 10
print "end"
