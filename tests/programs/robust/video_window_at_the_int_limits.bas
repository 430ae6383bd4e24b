' The video window placed and sized at the ends of the int range stays
' inside what the window system can hold: no rectangle worked out from it
' overflows.
mediareposition maxinteger(), maxinteger(), maxinteger(), maxinteger()
mediareposition 2147483647, 2147483647
mediareposition -1, -1, 2147483647, 2147483647
mediareposition 0, 0, 320, 240
print "placed"
