// Byte buffers in texts.
s = buffwrite("", 2, 258)
print length(s), ":", buffreadb(s, 0), buffreadb(s, 1), buffreadb(s, 2), buffreadb(s, 3), buffreadb(s, 4), buffreadb(s, 5)
s = buffwrite(s, -1, 1.25)
print length(s), " ", buffreadf(s, 6), " ", buffreadi(s, 2), " ", buffreadi(s, -5) = buffreadi(s, 0)
s = buffwrite(s, 0, "AB")
print buffread(s, 0, 2), " ", length(buffread(s, 0, 0)), " ", length(buffread(s, 10, 100)), " [", buffread(s, 99, 1), "] [", buffread("", 0, 1), "]"
s = buffwriteb("", 3, 511)
print length(s), " ", buffreadb(s, 3), " ", length(buffwriteb(s, -1, 1))
f = buffwritef32("", 0, 0.5)
print length(f), " ", buffreadf32(f, 0), " ", buffreadf32(buffwritef32(f, -1, -2), 4), " ", buffreadf32(f, -3)
print buffreadf(buffwrite("", -1, 2.5), -1)
t = "abc"
print getstrbyte(t, 0), " ", getstrbyte(t, 3), " ", length(putstrbyte("", 3, 65)), " ", getstrbyte(putstrbyte("", 3, 65), 1), " ", putstrbyte(t, 2, 256 + 66)
print strofbytes(65, "BC", 68.9), " ", length(strofbytes("")), " ", strofbytes(-191)
print "catch: ", buffwritef32("", 0, 1e39), " ", putstrbyte("", 300000000, 1), " ", buffwrite("", 300000000, 1)
buffprintb r, 1
buffprintb r, 1.0
print length(r), " ", buffreadi(r, 0), " ", buffreadf(r, 4)
n = 5
buffprintt n, 1; 2
print "[", n, "]", length(n)
buffprintt t, t;
buffprintt t, "x"; "y"
buffprintt t
print length(t), " [", buffread(t, 0, 17), "]"
