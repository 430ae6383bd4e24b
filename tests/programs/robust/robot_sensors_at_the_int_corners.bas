// Every sensor and mark of a robot at the four corners of the int range (and
// under a vast pen) computes within range; the marks off the image draw
// nothing. Negative corners come from rlocate, positive ones from rrelocate.
big = 2147483647
small = -2147483647 - 1
onerror moved
call corner(small, small, 1)
call corner(small, big, 1)
call corner(big, small, 2147483647)
call corner(big, big, 2147483647)
// On the image, the widest pen marks a hit too.
linewidth 1
clearscr
rectangle 0, 0, 800, 30, 0, 0
rlocate 400, 50
linewidth 2147483647
print "widest pen ", rdbumper(4)
print "done"
end
moved:
print "  motion error"
onerror moved
return
sub corner(cx, cy, width)
linewidth width
rlocate 400, 300
if cx < 0 and cy < 0 then rlocate cx, cy
if cx < 0 and cy > 0 then rlocate cx, 300
if cx > 0 and cy < 0 then rlocate 400, cy
if cx > 0 then rrelocate cx, -1, -1
if cy > 0 then rrelocate -1, cy, -1
rpen 1, 4
print "at ", rgpsx(), ",", rgpsy()
print "  marks ", rdbumper(4), " ", rdfeel(4)
print "  touch ", rbumper(), " ", rfeel(), " ", rsense(), " ", rground(1), " ", rground(3), " ", rgrounda(45)
print "  rays ", rlook(), " ", rlook(90), " ", rrange(-90), " ", rbeacon(4), " ", rcompass()
rsensor 3, 50, found, colour, distance
rsensora 45, 50, found2, colour2, distance2
rgps gx, gy
print "  sensors ", found, " ", found2, " ", colour, " ", distance, " ", colour2, " ", distance2, " ", gx, " ", gy, " ", rchargelevel()
rturn 5
rheading 90
rforward 1
return
