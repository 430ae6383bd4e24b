' A search of the system's own HID devices (no fake boards): whatever it
' finds, the board library gives back what its HID layer kept when it is
' unloaded at the end of the run.
x = qelm_finddevices()
n = qelm_numberofdevices()
print "searched"
