// Argument rules of the statements and the sensor functions. A black box
// lies on the ray 2 degrees right of the heading, and on no other whole angle.
rectangle 690, 308, 711, 314, 0, 0
rlocate 400, 300, 90, 10
print rlook(2.9), " ", rlook(3), " ", rlook(-2.9), " ", rlook(), " ", rrange(2.9), " ", rrange()
print rdfeel(), " ", rdbumper(), " ", rsense(), " ", length(rcommand(65.7, 2.5))
rfloorcolor 0
print rlook()
rfloorcolor
print rlook()
rslip 0
rinsterror 0
rsensetype
rspeed -700
rspeed
rturn "a"
