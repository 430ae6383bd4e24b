// Folders: making, testing, entering, listing and removing them.
print dircreate("Top\Mid\Low\"), " ", dircreate("top\mid"), " ", dircreate("C:\Top"), " ", direxists("C:")
print direxists("TOP\MID"), " ", fileexists("top\mid"), " ", direxists("nothing")
print dircreate("top\beta"), dircreate("top\Alpha"), dircreate("top\.hidden"), dircreate("top\gamma.d")
print dirset("TOP"), " ", filename(dircurrent()), " ", dircount(), " ", dirlist()
h = filecreate("b.txt")
print fileclose(h), fileclose(filecreate("A.TXT")), fileclose(filecreate(".secret")), fileclose(filecreate("noext"))
print filescount(), " ", filescount(""), " ", fileslist(), " | ", fileslist("*.txt"), " | ", fileslist("*."), " | ", fileslist("?.TXT;no*"), " [", fileslist("*.bmp"), "]"
print dirremove("mid"), " ", dirremove("MID\LOW"), " ", dirremove("mid"), " ", direxists("mid")
print dirset(".."), " ", filename(dircurrent()), " ", dirset("nowhere"), " ", dirset("C:\")
print "disks: ", diskfree(0) > 0, disksize(3) > 0, disksize(0) >= diskfree(0), diskfree(1), disksize(4)
print "empty name: ", dircreate("")
