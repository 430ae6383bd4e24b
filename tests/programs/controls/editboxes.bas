' The initial text is no change; an empty text gets the default width.
addedit "E", 10, 10, 0, 0, "abc"
addedit "F", 10, 40
print getedit("E"), " [", lastedit(), "] ", geteditw("F")
' A change by the program is an event, but the flag waits for a focused box.
setedit "E", 42
print getedit("E"), " ", lastedit(), " ", editchanged("E")
readonlyedit "E"
borderedit "E", 0
seteditcolor "E", 4
print editreadonly("E"), editborder("E"), geteditcolor("E")
seteditdim "E", 20, 30
print geteditx("E"), ",", getedity("E"), " ", geteditw("E") > 0
hideedit "F"
enableedit "F", 0
print edithidden("F"), editenabled("F"), edithidden("nosuch"), "[", getedit("nosuch"), "]"
' Masks: the value drops literals unless the mask keeps them; getunmasked is the text as shown.
seteditmask "F", "00:00;0;_"
setedit "F", "1230"
print getedit("F"), " ", geteditunmasked("F")
seteditmask "F", "00/00;1;*"
setedit "F", "12"
print getedit("F"), " ", geteditunmasked("F")
seteditmask "F", ""
setedit "F", "plain"
print getedit("F"), " ", geteditunmasked("F")
seteditfont "E", "", 14, 3, 4
f = geteditfont("E")
g = substitute(f, char(13) + char(10), ",")
print extract(g, ",", 2), ",", extract(g, ",", 3), ",", extract(g, ",", 4)
removeedit "E"
print getedit("E"), "|"
