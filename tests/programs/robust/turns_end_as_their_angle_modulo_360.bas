// Each pair of turns ends alike: the same heading, the same pixels around
// the robot (its pen down), the same sensor readings. The robot sits beside
// a wall on a line, so that every sensor sees something.
call scene(10, 0)
call scene(370, 0)
call scene(-350, 0)
call scene(3610, 0)
call scene(-7190, 0)
call scene(-10, 45)
call scene(350, 45)
call scene(-1090, 45)
call scene(5, 175)
call scene(-355, 175)
// From a heading far outside 0..359 the heading comes back degree by degree.
rheading 2147483647
for k = 1 to 1000
rturn 1
next
a = rcompass()
rheading 2147483647
rturn 1000
print a, " ", rcompass()
// A battery drained by a long turn empties the same way.
rlocate 400, 300
rignorecharge 0
rcharge 1
rturn 1080
print rchargelevel()
onerror empty
rturn 1
end
empty:
print "the next turn finds the battery empty"
end
sub scene(angle, compass)
clearscr
rectangle 421, 250, 460, 350, 0, 0
rectangle 300, 318, 500, 326, 4, 4
rlocate 400, 300, compass
rlinecolor 4
rpen 1, 2
rturn angle
total = 0
for py = 270 to 330
for px = 370 to 430
total = mod(total * 7 + pixelclr(px, py), 1000003)
next
next
print angle, ": compass ", rcompass(), " pixels ", total, " bumper ", rbumper(), " feel ", rfeel(), " look ", rlook(), " range ", rrange(), " sense ", rsense(), " ground ", rground(2)
return
