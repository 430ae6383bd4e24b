linewidth 3
getlinewidth w
print w
linewidth -1
getlinewidth w
print w
gotoxy 12, 34
getxy x, y
print x
print y
scrlimits mx, my
print mx
print my
setcursor 3
getcursor c
print c
setcolor 4, 14
getcolor p, b
print p
print b
setpixel 5, 5, 2
readpixel 5, 5, v
print v
readpixel -1, 5, v
print v
savescr 0, 0, 10, 10
clearscr 15
readpixel 5, 5, v
print v
restorescr 20, 20
readpixel 25, 25, v
print v
savescrwh 20, 20, 10, 10
clearscr
restorescr 0, 0
readpixel 5, 5, v
print v
flip 1
setpixel 1, 1, 4
flip 0
readpixel 1, 1, v
print v
flip 1
flip -1
flip 0
readpixel 1, 1, v
print v
readmouse mx, my, mb
print mb
readmouse mx, my
getkey k
print k
getkeye k
print k
setpromptarea "prompt"
setinputarea "input"
printersetup
printscr
print "end"
