// Path texts, and names found without letter case.
p = "C:\Data\Sub\file.tar.gz"
print filedir(p), " ", filepath(p), " ", filename(p), " ", fileext(p), " ", filedrive(p), " ", filechangeext(p, ".txt")
q = "/home/user/notes"
print filedir(q), " ", filepath(q), " [", fileext(q), "] [", filedrive(q), "] ", filechangeext(q, ".bak")
print filedir("\x.bas"), " ", filedir("x.bas"), "|", filepath("x.bas"), "|", filename("dir\"), "|", fileext("a.b\c")
print fildir(p), " ", filname(p), " ", filext(p), " ", fildrive("d:x"), " ", filpath("a/b"), " ", filchangeext("a.b", "")
print dircreate("Sub"), fileclose(filecreate("sub\Report.TXT"))
print fileexists("SUB\report.txt"), fileexists("sub"), direxists("sub\report.txt"), filexists("C:\sub\report.txt")
print filename(filesearch("REPORT.txt", "nowhere;SUB")), " [", filesearch("report.txt", ""), "] ", filename(filsearch("names.bas", "x"))
print filedate("missing"), " ", filedate("sub"), " ", filedate("sub\report.txt") > 40000
print filerename("sub\report.txt", "sub\Other.txt"), " ", fileexists("sub\other.txt")
print fileclose(filecreate("sub\second.txt")), filerename("sub\second.txt", "SUB\OTHER.TXT"), fileexists("sub\second.txt")
print filerename("sub\other.txt", "sub\OTHER.TXT"), " ", filrename("missing", "x")
print dirset("sub"), " ", fileslist(), " ", dirset("..")
print filedelete("sub\OTHER.txt"), filedelete("sub\OTHER.txt"), fildelete("sub"), direxists("sub"), filedelete("C:\x")
