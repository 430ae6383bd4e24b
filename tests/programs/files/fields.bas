// Fields up to a delimiter; fileprintt lines and fileprintb records.
h = filecreate("lines.txt")
fileprintt h, "alpha"; 12; "x"
fileprintt h, 1.5, "|", -3
fileprintt h
fileprintt h, "open";
fileprintt h, " end"
print fileseek(h, 0, 0)
while fileend(h) = 0
    print "[", filereadfield(h), "]"
wend
print fileseek(h, 0, 0), " [", filereadfield(h, "ph"), "] [", filereadfield(h, ""), "]"
print fileclose(h)
// A delimiter that straddles the 1024-byte blocks, and a field longer than a block.
h = filecreate("long.txt")
fileprintt h, srepeat("a", 1023), "<>", srepeat("b", 3000), "<>tail";
print fileseek(h, 0, 0)
a = filereadfield(h, "<>")
b = filereadfield(h, "<>")
print length(a), " ", length(b), " ", fileseek(h, 1, 0), " [", filereadfield(h, "<>"), "] ", fileend(h)
print fileclose(h)
// Binary records: integers as 4 bytes, doubles as 8, texts as they are.
h = filecreate("rec.bin")
fileprintb h, 1, 2.5; "ab"
fileprintb h
print filesize(h), " ", fileseek(h, 0, 0), " ", filereadi(h), " ", filereadf(h), " ", fileread(h, 10)
print fileclose(h)
