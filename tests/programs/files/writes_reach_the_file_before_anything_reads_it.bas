// Bytes written through a handle are in the file for every later reader:
// the handle itself, its size and end, another handle, a copy.
h = filecreate("a.bin")
print filewriteb(h, 65), filewriteb(h, 66), filesize(h), fileend(h)
g = fileopen("a.bin", 0)
print fileread(g, 10)
n = filewriteb(h, 67)
print filecopy("a.bin", "b.bin", 1), " ", filedate("a.bin") > 0
print fileseek(h, 0, 0), filereadb(h), fileend(h), filewriteb(h, 90), fileseek(h, 1, 0), fileseek(h, 0, 0), fileread(h, 5)
print fileclose(h), fileclose(g)
h = fileopen("b.bin", 0)
print fileread(h, 9), filereadb(h), fileend(h)
w = fileopen("a.bin", 2)
n = fileseek(w, 2, 0) + filewriteb(w, 68)
print spawn("sh", "-c " + tobyte(34) + "test $(wc -c < a.bin) = 4" + tobyte(34), 0)
