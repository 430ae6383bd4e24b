// Pipes in the program's folder are no files: every statement and function
// that reads or writes a named file refuses them at once, each with the error
// or result it gives for a file it cannot use, and leaves them pipes.
r = spawn("mkfifo", "ff ff.bmp ff.wav ff.jpg ff.txt", 0)
print "pipes made: ", r
onerror refused
dim a[3]
a[0] = 1
a[1] = 2.5
a[2] = "three"
print "mwrite"
mwrite a, "ff"
print "mread"
mread b, "ff"
print "mreadold"
mreadold c, "ff"
print "mtextfw"
mtextfw a, "ff.txt"
print "mtextfr"
mtextfr d, "ff.txt"
for mode = 0 to 2
print "fileopen mode ", mode, ": ", fileopen("ff", mode)
next
print "filecreate: ", filecreate("ff")
print "filecopy from: ", filecopy("ff", "copy")
print "filecopy onto: ", filecopy("special_files_never_block.bas", "ff", 1)
print "readbmp"
readbmp "ff", 0, 0
print "writebmp"
writebmp "ff", 0, 0, 10, 10
print "sizebmp"
sizebmp "ff", w, h
print "mreadbmp"
mreadbmp p, "ff"
dim q[2, 2]
print "mwritebmp"
mwritebmp q, "ff"
print "jpeg tobmp"
tobmp "ff.jpg", "out"
print "bmp tobmp"
tobmp "out2", "ff"
print "writescr"
writescr "ff"
print "readscr"
readscr "ff"
scrtocb
print "cbtobmp"
cbtobmp "ff"
print "bmptocb"
bmptocb "ff"
print "rotatebmp"
rotatebmp "ff"
print "bmpnegative"
bmpnegative "ff", "out3"
print "bmpcompare"
bmpcompare "ff", "ff", "out4"
print "textbox"
print textbox("ff.txt")
print "playwav"
playwav "ff.wav"
print "mediaplay"
mediaplay 1, "ff.wav"
print "mediastate ", mediastate(1)
print "mediarecord"
mediarecord 2, "ff.wav"
print "mediasave"
mediasave 2
r = spawn("sh", "-c ""test -p ff -a -p ff.bmp -a -p ff.wav -a -p ff.txt""", 0)
print "still pipes: ", r
end
refused:
geterror n, t
print "  error ", n, " ", t
onerror refused
return
