' clrcb empties the whole clipboard: its text and its picture alike. A
' resize of the clipboard's picture then has nothing to do and writes no file.
x = filedelete("/tmp/qv-images-clrcb.bmp")
setcbtext "words"
rectanglewh 0, 0, 20, 10, 4, 4
scrtocb 0, 0, 20, 10
sizecb w, h
print "before ", w, "x", h
clrcb
sizecb w, h
print "after ", w, "x", h
print "text [", getcbtext(), "]"
resizebmp "-1", 5, 5, "/tmp/qv-images-clrcb"
print "written "; fileexists("/tmp/qv-images-clrcb.bmp")
' Only the picture on the clipboard: clrcb still takes it away.
scrtocb 0, 0, 4, 4
clrcb
sizecb w, h
print "picture alone ", w, "x", h
