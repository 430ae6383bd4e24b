// A 400 ms tone of 440 Hz in a wave file of its own.
call maketone("tone.wav")

// Without an extension the name gets ".wav"; sound is no video.
mediaplay 1, "tone"
mediavideosize 1, w, v
print "playing: ", mediastate(1), " video: ", mediaisvideo(1), " size: ", w, " x ", v
delay 1000
print "after its end: ", mediastate(1)

// A looping clip plays on past its end; it pauses, resumes and stops.
mediaplay 2, "tone", 1
delay 700
print "looping: ", mediastate(2)
mediapause 2
print "paused: ", mediastate(2)
mediapause 2, 0
print "resumed: ", mediastate(2)
mediastop 2
print "stopped: ", mediastate(2)

// Names are found without letter case; files that are missing or not
// media empty their slot.
mediaplay 3, "TONE.WAV", 1
print "any case: ", mediastate(3)
mediaplay 6, ".\TONE", 1
print "backslash: ", mediastate(6)
mediaplay 7, "C:\tone.wav"
print "drive: ", mediastate(7)
mediaplay 3, "missing"
print "missing: ", mediastate(3)
mediaplay 4, "sound_slots.bas"
print "not media: ", mediastate(4)

// Saving a slot that does not record does nothing.
mediaplay 5, "tone", 1
mediasave 5
print "saved while playing: ", mediastate(5)
end

#include "lib/tone.bas"
