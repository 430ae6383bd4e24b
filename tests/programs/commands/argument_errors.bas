onerror trap
printscr 1
beep "x"
setcbtext 5
getkey
getkey 5
readmouse a
readpixel 1, 2
geterror a, b, c, d
print a
print b
print c
print d
end
trap:
onerror trap
geterror n, t, l, c
print n
print l
return
