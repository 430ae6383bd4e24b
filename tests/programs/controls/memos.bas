' Creation, lines, selections, caret and properties of memos.
addmemo "M", 10, 10, 0, 0, "first" + char(13) + char(10) + "second line"
addmemo "N", 10, 200
' An initial text is already a change.
print getmemow("M"), ",", getmemoh("M"), " ", memolinescount("M"), memolinescount("N"), " ", lastmemo(), " ", memochanged("M"), memochanged("M"), memochanged("N")
addmemoline "M", "third"
addmemoline "N", "a"
addmemoline "N", "b"
print memolinescount("M"), " ", getmemoline("M", 3), " ", getmemoline("M", 99), " [", getmemoline("M", 0), "]"
print substitute(getmemotext("N"), char(13) + char(10), "/")
' Line and column; positions count a line break as 2.
setmemoselection "M", 2, 3, 4
print "[", getmemoselection("M"), "] ", getmemolineno("M"), ",", getmemocharno("M"), " ", getmemocharpos("M")
setmemoselection "M", 3, 2, 99
print "[", getmemoselection("M"), "]"
setmemoselected "M", 1, 8
print "[", substitute(getmemoselection("M"), char(13) + char(10), "/"), "] ", getmemolineno("M"), ",", getmemocharno("M"), " ", getmemocharpos("M")
setmemoselected "M", 8, 3
print "[", getmemoselection("M"), "]"
deletememoline "M", 1
deletememoline "M", 99
print memolinescount("M"), " ", substitute(getmemotext("M"), char(13) + char(10), "/")
' Setting the same text again is no change.
print memochanged("M"), " [", lastmemo(), "]"
setmemotext "M", "second line"
print memochanged("M"), " [", lastmemo(), "]"
clearmemo "M"
print memolinescount("M"), " ", memochanged("M"), " ", lastmemo()
readonlymemo "M"
wrapmemo "M", 0
bordermemo "M", 0
setmemoscrollbars "M", 3
setmemoscrollbars "M", 7
setmemocolor "M", 4
print memoreadonly("M"), memowrap("M"), memoborder("M"), memoscrollbars("M"), " ", getmemocolor("M")
setmemodim "M", 5, 6, 70, 60
print getmemox("M"), ",", getmemoy("M"), ",", getmemow("M"), ",", getmemoh("M")
hidememo "N"
enablememo "N", 0
print memohidden("N"), memoenabled("N"), memohidden("nosuch"), memolinescount("nosuch"), "[", getmemotext("nosuch"), "]"
