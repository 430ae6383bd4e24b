// Writing and reading back through one handle; a handle counts only while open.
h = filecreate("data.bin")
print filewrite(h, 258), filewrite(h, 1.5), filewrite(h, "xyz"), filewriteb(h, 65), filewriteb(h, "Bq"), filewriteb(h, 511.9)
print "size ", filesize(h), " at end ", fileend(h)
print "seek ", fileseek(h, 0, 0), " end ", fileend(h)
print filereadi(h), " ", filereadf(h), " ", fileread(h, 3), " ", filereadb(h), " ", filereadb(h), " ", filereadb(h)
print "past end: [", filereadi(h), "][", filereadb(h), "][", filereadf(h), "][", fileread(h, 5), "]"
print "seek from end ", fileseek(h, 2, -2), " current ", fileseek(h, 1, 0), " bad origin ", fileseek(h, 3, 0)
print "close ", fileclose(h), " again ", fileclose(h)
// A closed handle, standard output and -1 all act as -1.
for k = -1 to 1
    print fileclose(k), fileseek(k, 0, 0), filesize(k), fileend(k), filewrite(k, 5), filewriteb(k, 1), "[", fileread(k), filereadfield(k), "]"
next k
print fileseek(h, 0, 0), filesize(h), fileend(h), filewrite(h, "x")
// fileopen: 0 reads, 1 writes, 2 both, 3 refuses; it never creates or truncates.
print fileopen("missing.bin", 0), " ", fileopen("data.bin", 3)
r = fileopen("data.bin", 0 + 64)
print "read-only write ", filewrite(r, "zz"), " size ", filesize(r), " first ", filereadi(r)
w = fileopen("DATA.BIN", 1)
print "write-only wrote ", filewrite(w, 7), " read [", fileread(w, 4), "]"
print fileclose(r), fileclose(w)
b = fileopen("data.bin", 2)
print "both ", filereadi(b), " ", fileseek(b, 2, 0), " ", filesize(b)
print fileclose(b)
// filecreate truncates an existing file, found without letter case.
c = filecreate("Data.Bin")
print "recreated ", filesize(c), " ", fileslist("*.bin")
print fileclose(c)
