print errmsg("Save the file?" + crlf() + "It changed.", "Question", 4)
print errmsg("Really?", "Question", 260)
print errmsg("Done")
print strinput()
print strinput(5, "Name?", "nobody")
print strinput("Caption", "Name?", "nobody")
print stringbox("one" + crlf() + "two", "Box")
dim a[3]
a[0] = "Title"
a[1] = 2
a[2] = 2.5
print msgbox(a)
print msgbox(a, " ")
print textbox("note.rtf", "Note")
onerror trap
print textbox("missing_file.txt", "Box")
dim m[2, 2]
print msgbox(m)
print msgbox(nothing)
end
trap:
onerror trap
geterror n
print n
return
