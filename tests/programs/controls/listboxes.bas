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
