// filecopy counts bytes exactly and never destroys a target it cannot replace.
h = filecreate("src.bin")
fileprintb h, srepeat("0123456789", 1000), 7
print fileclose(h)
print filecopy("SRC.BIN", "dst.bin"), " ", filecopy("src.bin", "DST.bin"), " ", filecopy("src.bin", "dst.bin", 0)
print filecopy("missing", "x.bin"), " ", fileexists("x.bin"), " ", filecopy("src.bin", "nowhere\x.bin"), " ", filecopy("src.bin", "C:\x.bin")
h = filecreate("old.txt")
fileprintt h, "old"
print fileclose(h), " ", filecopy("src.bin", "old.txt", 1), " ", fileslist()
print filecopy("old.txt", "old.txt", 1), " ", filecopy("old.txt", "OLD.TXT"), " ", filecopy(".", "dot.bin")
h = fileopen("old.txt", 0)
print filesize(h), " ", fileread(h, 10), " ", fileseek(h, 2, -4), " ", filereadi(h)
print fileclose(h)
print dircreate("sub"), " ", filecopy("src.bin", "sub", 1), " ", direxists("sub")
