// A robot that follows a wall on its right with its range sensor.
//
// rrange(angle) measures the room from the robot's rim to the nearest
// obstacle in a direction relative to its heading. The robot keeps the wall
// on its right about 20 pixels away: it steers towards the wall when too far,
// away from it when too close, and turns left where a wall blocks its way.

// The room: outer walls and a few blocks, all in black.
rectangle 0, 0, 800, 12, 0, 0
rectangle 0, 588, 800, 600, 0, 0
rectangle 0, 0, 12, 600, 0, 0
rectangle 788, 0, 800, 600, 0, 0
rectangle 250, 12, 330, 200, 0, 0
rectangle 520, 380, 788, 460, 0, 0
rectangle 12, 420, 200, 588, 0, 0
xytext 330, 280, "wall follower", "Arial", 14, 0

// Start beside the left wall, facing down, so that the wall is on the
// robot's right; the pen is down to leave a trail.
rlocate 45, 300, 180, 15
// The trail is drawn in the line colour, which the robot may cross.
rlinecolor 9
rpen 1
// A short pause after each step makes the motion easy to follow.
rspeed 1

wanted = 20
for k = 1 to 3000
    front = rrange(0)
    side = rrange(90)
    // The feelers: bit 4 straight ahead, bit 2 ahead on the right.
    near = rfeel()
    if (front >= 0 and front < 10) or (near band 6) <> 0
        // A wall ahead: turn left along it, without moving.
        rturn -10
    else
        if side > wanted * 3
            // The wall fell away (a corner): swing round to find it again.
            rturn 6
        elseif side > wanted + 4
            rturn 2
        elseif side < wanted - 4
            rturn -2
        endif
        rforward 2
    endif
next
print "steps: ", k - 1, "  charge left: ", rchargelevel(), "%"
