addcheckbox "K", 10, 10, "Keep", 1
addcheckbox "L", 10, 40
print getcheckbox("K"), " ", getcheckbox("L"), " ", getcheckboxcaption("K"), " ", getcheckboxcaption("L")
' A change made by the program counts as a click.
setcheckbox "L"
print getcheckbox("L"), " ", lastcheckbox(), " [", lastcheckbox(), "]"
setcheckboxcolor "K", 4
print getcheckboxcolor("K")
' Dimensions move a check box; its size follows its caption.
setcheckboxdim "K", 50, 60, 999, 999
print getcheckboxx("K"), ",", getcheckboxy("K")
setcheckboxcaption "K", "New"
print getcheckboxcaption("K")
hidecheckbox "K"
enablecheckbox "K", 0
print checkboxhidden("K"), checkboxenabled("K"), checkboxhidden("nosuch")
addcheckbox "Far", 2000000000, -2000000000
print getcheckboxx("Far"), ",", getcheckboxy("Far")
