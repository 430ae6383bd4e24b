// A robot that wanders a maze of drawn walls, using only its sensors, until
// its ground sensor touches the green goal.
//
// The feelers (rfeel) tell whether a wall is near ahead or to the sides, the
// ranging ray (rrange) how much room there is left and right, and the beacon
// detector (rbeacon) whether the goal is straight ahead with no wall before it.

// The maze: an outer wall and inner walls, all black.
rectangle 0, 0, 800, 10, 0, 0
rectangle 0, 590, 800, 600, 0, 0
rectangle 0, 0, 10, 600, 0, 0
rectangle 790, 0, 800, 600, 0, 0
rectangle 160, 0, 175, 430, 0, 0
rectangle 330, 170, 345, 600, 0, 0
rectangle 500, 0, 515, 260, 0, 0
rectangle 500, 380, 515, 600, 0, 0
rectangle 515, 380, 680, 395, 0, 0
rectangle 640, 150, 790, 165, 0, 0
// The goal.
circle 700, 480, 760, 540, 2, 2

rlocate 80, 80, 180, 15
rbeaconcolor 2
// The trail is drawn in the line colour, which the robot may cross.
rlinecolor 9
rpen 1
// A pause of 2 milliseconds after each step makes the search watchable: it
// takes from several seconds to about a minute, as the random turns decide.
rspeed 2

found = 0
for k = 1 to 6000
    if rground(2) = 2
        found = 1
        break
    endif
    f = rfeel()
    goal = rbeacon(2)
    if goal > 0 and goal < rrange() and (f band 4) = 0
        // The goal is in sight and no wall is felt ahead: head for it. (The ray
        // that sees the goal is thin, the robot is round: near a wall the
        // feelers steer first.)
        rforward 2
    elseif f band 4 or (f band 2 and f band 8)
        // Blocked ahead: turn towards the side with more room.
        roomright = rrange(90)
        roomleft = rrange(-90)
        if roomright > roomleft + 20
            rturn 90
        elseif roomleft > roomright + 20
            rturn -90
        elseif random(2) = 0
            rturn 90
        else
            rturn -90
        endif
    elseif f band 2
        rturn -10
    elseif f band 8
        rturn 10
    else
        rforward 3
        // Now and then look around for the goal.
        if random(40) = 0 then rturn 45 - 90 * random(2)
    endif
next
if found
    print "found the goal after ", k, " steps: ", rpoints(), " points, charge ", rchargelevel(), "%"
else
    print "still searching after ", k - 1, " steps"
endif
