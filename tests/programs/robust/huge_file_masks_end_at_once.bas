' A file mask of millions of blanks is trimmed at once, not one blank at a
' time: listing with it ends as quickly as with a short mask.
x = filecreate("a.txt")
y = fileclose(x)
t = fileslist(spaces(20000000))
print "[", t, "]"
t = fileslist(spaces(5000000) + "*.txt" + spaces(5000000) + ";" + spaces(100))
print "[", t, "]"
