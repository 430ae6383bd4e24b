' Each filter on a 3 x 1 picture: dark gray, light gray and red.
dim p[1, 3]
p[0, 0] = 4210752
p[0, 1] = 12632256
p[0, 2] = 255
mwritebmp p, "/tmp/qv-filters-in"
src = "/tmp/qv-filters-in"
dst = "/tmp/qv-filters-out.bmp"
bmptobw src, 0, dst
gosub show
bmprgb src, 1, 0, -1, dst
gosub show
bmpnegative src, dst
gosub show
bmpedges src, 0, dst, 1
gosub show
bmpcompare src, src, dst
gosub show
bmptogray src, dst
mreadbmp a, dst
print a[0, 2]
' Empty output names send the result to the clipboard.
bmpchangeclr src, 4, 2, 0
mreadbmp a
print a[0, 0], " ", a[0, 2]
bmpnegative ""
mreadbmp a
print a[0, 0], " ", a[0, 2]
resizebmp src, 6, 2, "/tmp/qv-filters-wide"
sizebmp "/tmp/qv-filters-wide", w, h
print w, "x", h
bmpstats st, src
print st[8], "x", st[9]
' A red square in cell 13 of a 5 x 5 grid over a 100 x 100 picture.
rectanglewh 0, 0, 800, 600, 15, 15
rectanglewh 60, 40, 20, 20, 4, 4
writebmp "/tmp/qv-filters-big", 0, 0, 100, 100
bmpfindclr "/tmp/qv-filters-big", 4, cell, hits
print cell, " ", hits
bmpfindclr "/tmp/qv-filters-big", 9, cell, hits
print cell
bmpfindclr "/tmp/qv-filters-big", 4, cell, hits, 0.2, 0.1, 2, grid
print cell, " ", grid[2, 3], " ", grid[0, 0]
end
show:
mreadbmp a, dst
print a[0, 0], " ", a[0, 1], " ", a[0, 2]
return
