// Headless dialogs ask on the standard streams; a cancel gives "".
a = fileprompt()
print filename(a), " ", left(a, 1), " ", filename(filedir(a))
print "[", fileprompt("start.txt|Text|*.txt"), "]"
b = filesave("out.bas")
print filename(b), " ", filename(filedir(b))
print filename(promptbmp()), " ", filesave(2)
print "[", promptbmp("robot"), "] [", fileprompt(), "]"
print "still running"
