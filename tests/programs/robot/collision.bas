// Straight up from the centre until the arena's top edge stops the robot.
onerror hit
rlocate 400, 300
rforward 1000
print "never"
end
hit:
print "collided at ", rgpsx(), ",", rgpsy(), " after ", rpoints(), " points"
end
