' The clipboard starts empty: its size is 0 x 0 and drawing from it does nothing.
sizecb w, h
print "empty ", w, "x", h
readbmp "-1"
scrfromcb
fitcb
flipcb
rotatecb
cbtobmp "/tmp/qv-images-never"
' A 3 x 2 block of the screen goes to the clipboard and comes back as a file.
rectanglewh 0, 0, 800, 600, 15, 15
setpixel 0, 0, 0
setpixel 2, 1, 4
scrtocb 0, 0, 3, 2
sizecb w, h
print "block ", w, "x", h
cbtobmp "/tmp/qv-images-clip.txt"
sizebmp "/tmp/qv-images-clip.bmp", w, h
print "file ", w, "x", h
mreadbmp a
print a[0, 0], " ", a[0, 1], " ", a[1, 2]
' Mirrored and flipped in place.
mirrorcb
mreadbmp a
print a[0, 2], " ", a[1, 0]
flipcb
mreadbmp a
print a[1, 2], " ", a[0, 0]
' The clipboard's picture drawn back at 10, 10.
scrfromcb 10, 10
mscrtoarray s, 10, 10, 3, 2
print s[0, 0], " ", s[1, 2]
' cbfitbmp stretches the file to the full size asked, beyond the screen's edges too.
cbfitbmp "/tmp/qv-images-clip", 1000, 700
sizecb w, h
print "fit ", w, "x", h
mreadbmp a
print a[0, 0], " ", a[699, 999]
