// Argument rules of the statements and the sensor functions.
rlocate 400, 300, 90, 10
print rlook(2.9); rlook(-2.9); rlook(); rrange(-2.9)
rspeed -700
rspeed 0
rfloorcolor
print rrange()
rturn "a"
