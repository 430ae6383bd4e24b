// Pictures: draw a scene, save it as a bitmap file, make filtered copies of
// it, and show all four side by side, passing one through the clipboard.
//
// writebmp saves part of the screen; the bmp... statements read a picture
// file, change it and write another; fitbmp draws a file stretched into a
// rectangle. The files land in the program's folder.

// The scene: sky, sun, hills and a house.
rectangle 0, 0, 400, 300, 9, 9
circle 300, 30, 360, 90, 14, 14
circle -100, 180, 260, 460, 2, 2
circle 180, 200, 560, 480, 10, 10
rectangle 90, 150, 190, 230, 12, 15
rectangle 125, 185, 155, 230, 6, 6
line 80, 150, 140, 100, 4, 4
line 140, 100, 200, 150, 4, 4
overlaytext 10, 10, "my picture", "Arial", 12, 1, 15
writebmp "scene.bmp", 0, 0, 400, 300

// Three filters, each from the saved scene into a file of its own.
bmptogray "scene.bmp", "gray.bmp"
bmpnegative "scene.bmp", "negative.bmp"
bmpedges "scene.bmp", 100, "edges.bmp"

// A little statistics of the original, on the first lines of the screen.
clearscr
bmpstats st, "scene.bmp"
print "scene.bmp: ", st[8], " x ", st[9], " pixels; mean red ", round(st[0]), ", green ", round(st[1]), ", blue ", round(st[2])

// The four pictures below it, at a little under half size, with their names.
fitbmp "scene.bmp", 0, 30, 400, 285
fitbmp "gray.bmp", 400, 30, 400, 285
fitbmp "negative.bmp", 0, 315, 400, 285
// The edges go through the clipboard: copied there, mirrored, and drawn.
bmptocb "edges.bmp"
mirrorcb
sizecb w, h
fitcb 400, 315, 400, 285
print "the clipboard's picture: ", w, " x ", h
xytext 5, 296, "scene.bmp", "Arial", 10, 1, 0, 15
xytext 405, 296, "gray.bmp", "Arial", 10, 1, 0, 15
xytext 5, 581, "negative.bmp", "Arial", 10, 1, 0, 15
xytext 405, 581, "edges, mirrored on the clipboard", "Arial", 10, 1, 0, 15
