// Drawing demo: shapes, lines, arcs, fills, pixels, paths and placed text.
setcolor 0, 15
xytext 10, 8, "Drawing demo", "", 16, 1, 1, -1

// Filled shapes in their four kinds.
rectangle 20, 50, 120, 130, 0, 14
rectanglewh 140, 50, 100, 80, 4, 7
circle 260, 50, 340, 130, 2, 10
circlewh 360, 50, 120, 80, 5, 13

// Outlines, lines and a fan of lines from one point.
erectangle 500, 50, 600, 130, 1, 4
erectanglewh 620, 50, 160, 80, 3, 1
for k = 0 to 20
    line 20, 300, 220, 160 + k * 14, 1, mod(k, 16)
next k
gotoxy 240, 160
lineto 400, 300, 1, 0
lineto 240, 300, 4, 12
lineto 240, 160, 1, 0

// Arcs and pies (angles in radians).
arc 420, 160, 540, 280, 0, 3.14159, 2, 1
pie 560, 160, 680, 280, 0.5, 4.5, 0, 11

// A ring filled by its colour and one filled up to its border.
circle 700, 160, 790, 250, 0, 15
circle 720, 180, 770, 230, 0, 15
floodfill 705, 205, 9, -1
circle 20, 330, 140, 450, 4, 15
floodfill2 80, 390, 14, 4

// Pixels along a sine curve.
for x = 160 to 400
    setpixel x, 390 + 40 * sin(x / 20.0), 4
next x

// Paths: a staircase with colour changes, and a square moved without drawing.
drawshape "rrdd4rrdd-rrdd2rrdd", 420, 330, 10, 0
drawshape "RRrrrrddddllllUUuu", 560, 330, 10, 5

// Placed text with fonts, backgrounds and transparency.
setcolor 0, 15
xystring 20, 470, "xystring in the canvas font"
xytext 20, 495, "bold italic on yellow", "", 12, 3, 1, 14
rectangle 300, 470, 560, 530, 7, 7
overlaytext 310, 480, "overlay text keeps the grey", "", 12, 4, 4
