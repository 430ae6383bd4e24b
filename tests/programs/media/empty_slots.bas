// Slots nothing was played in: every query answers 0 and every operation
// does nothing; a negative slot is slot 0, and slots past the highest are
// never made.
print mediastate(0), " ", mediastate(-3), " ", mediastate(5000), " ", mediaisvideo(2)
mediapause 4
mediapause 4, 0
mediasave 4
mediashow 4
mediashow 4, 0
mediastop 4
mediavideosize 4, w, h
print w, " x ", h
mediaplay 2000, "nothing.wav"
print mediastate(2000)
print wavbusy()
playwav ""
playwav
print "done"
mediaplay 1
