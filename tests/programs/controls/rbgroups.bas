' Creation, buttons, selection, columns and the caption rules of radio groups.
addrbgroup "G", 10, 10, 0, 0, 2, "", "one" + char(13) + char(10) + "two" + char(13) + char(10) + "three"
addrbgroup "H", 10, 200, 150, 80, 0, " "
print getrbgroupw("G"), ",", getrbgrouph("G"), " ", rbgroupnumcolumns("G"), rbgroupnumcolumns("H")
print "[", getrbgroupcaption("G"), "][", getrbgroupcaption("H"), "] ", rbgroupitemscount("G"), " [", getrbgrouptext("G"), "]"
' A selection made by the program is an event; beyond the end selects the last.
setrbgroup "G", 9
print getrbgroup("G"), " ", getrbgrouptext("G"), " ", lastrbgroup(), " [", lastrbgroup(), "]"
setrbgroup "G", 0
print getrbgroup("G"), " [", lastrbgroup(), "]"
print getrbgroupbutton("G", 2), " ", getrbgroupbutton("G", 99), " [", getrbgroupbutton("G", 0), "]"
addrbgroupbutton "G", "four"
setrbgroup "G", 2
deleterbgroupbutton "G", 1
print rbgroupitemscount("G"), " ", getrbgroup("G"), " ", getrbgrouptext("G")
deleterbgroupbutton "G", 2
print getrbgroup("G"), " ", substitute(getrbgroupitems("G"), char(13) + char(10), "/")
setrbgroupbuttons "G", "a" + char(13) + char(10) + "b"
setrbgroupcolumns "G", -3
setrbgroupcolor "G", 4
print rbgroupitemscount("G"), " ", rbgroupnumcolumns("G"), " ", getrbgroupcolor("G")
clearrbgroup "G"
setrbgroupdim "G", 5, 6, 70, 60
print rbgroupitemscount("G"), " ", getrbgroupx("G"), ",", getrbgroupy("G"), ",", getrbgroupw("G"), ",", getrbgrouph("G")
hiderbgroup "H"
enablerbgroup "H", 0
print rbgrouphidden("H"), rbgroupenabled("H"), rbgrouphidden("nosuch"), "[", getrbgrouptext("nosuch"), "]"
