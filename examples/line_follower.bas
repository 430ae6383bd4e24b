// A robot that follows a drawn line.
//
// The track is an oval ring, 12 pixels wide, drawn as a filled black oval with
// a smaller white one inside. Black is made the line colour, so the robot may
// drive over it and its three line sensors (just in front of the rim, 10
// degrees right, straight ahead and 10 degrees left) look for it.

circle 100, 100, 700, 500, 0, 0
circle 112, 112, 688, 488, 15, 15
xytext 300, 280, "line follower", "Arial", 14, 0

rlocate 400, 106, 90
rlinecolor 0
// A pause of 3 milliseconds after each step lets the eye follow the robot
// round the ring: the run takes about 15 seconds. Without it the run is over
// before the window shows its first frame.
rspeed 3

for k = 1 to 2500
    s = rsense()
    if s = 2 or s = 7
        rforward 2
    elseif s band 1
        // Only the right sensor sees the line: it bends to the right.
        rturn 4
        rforward 1
    elseif s band 4
        rturn -4
        rforward 1
    elseif s = 0
        // Lost: turn on the spot towards the inside of the ring.
        rturn 5
    else
        rforward 1
    endif
next
print "points: ", rpoints(), "  charge: ", rchargelevel(), "%"
