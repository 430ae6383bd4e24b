' Results beyond the picture bound (32767 a side, 2^26 pixels) are refused
' with error 87 and change neither the files nor the clipboard.
dim p[2, 3]
mwritebmp p, "/tmp/qv-images-small"
mwritebmp p
onerror refused
resizebmp "/tmp/qv-images-small", 40000, 2, "/tmp/qv-images-small"
onerror refused
resizebmp "/tmp/qv-images-small", 10000, 10000, "-1"
onerror refused
cbfitbmp "/tmp/qv-images-small", 32768, 1
sizebmp "/tmp/qv-images-small", w, h
print "file ", w, "x", h
sizecb w, h
print "clipboard ", w, "x", h
end
refused:
geterror n
print "refused ", n
return
