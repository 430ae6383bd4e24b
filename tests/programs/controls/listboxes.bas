' Items from a multi-line text; selection, sorting ignoring case, deletion
' and item queries beyond the end.
nl = char(13) + char(10)
addlistbox "L", 10, 10, -1, "pear" + nl + "Apple" + nl + "fig"
print listboxitemscount("L"), " ", getlistbox("L"), " [", getlistboxtext("L"), "] ", getlistboxw("L")
setlistbox "L", 2
print getlistbox("L"), " ", getlistboxtext("L")
setlistbox "L", 0
print getlistbox("L")
setlistbox "L", 99
print getlistboxtext("L")
addlistboxitem "L", "banana"
sortlistbox "L"
print listboxsorted("L"), " ", getlistboxitem("L", 1), " ", getlistboxitem("L", 99), " [", getlistboxitem("L", 0), "]"
print getlistboxtext("L")
deletelistboxitem "L", 99
print listboxitemscount("L"), " ", getlistboxitem("L", 99)
setlistboxitems "L", "x" + nl + "y"
print listboxitemscount("L"), " ", length(getlistboxlist("L"))
setlistboxdim "L", 40, 50, 120, 300
print getlistboxx("L"), ",", getlistboxy("L"), ",", getlistboxw("L")
clearlistbox "L"
print listboxitemscount("L"), " [", lastlistbox(), "]"
addlistbox "Far", 2000000000, -2000000000, 2000000000
print getlistboxx("Far"), ",", getlistboxy("Far"), ",", getlistboxw("Far")
' Sorting folds case as the text functions do and orders by Windows-1252 byte:
' the euro sign (128) comes before capital E acute (201).
addlistbox "U", 10, 200, -1, "Zoo" + nl + char(201) + "t" + char(233) + nl + char(128) + "uro" + nl + "apple" + nl + char(233) + "a"
sortlistbox "U"
print ascii(getlistboxitem("U", 1)), " ", ascii(getlistboxitem("U", 2)), " ", ascii(getlistboxitem("U", 3)), " ", ascii(getlistboxitem("U", 4)), " ", ascii(getlistboxitem("U", 5))
