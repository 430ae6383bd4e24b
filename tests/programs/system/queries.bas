print desktopwidth()
print desktopheight()
print keydown()
print keydown(65)
print keydown(300)
print wavbusy()
print abortflag()
setcbtext "clip"
print getcbtext()
clrcb
print length(getcbtext())
settextbuff "abc"
print gettextbuff()
textbufftocb
print length(getcbtext())
settextbuff ""
print length(gettextbuff())
