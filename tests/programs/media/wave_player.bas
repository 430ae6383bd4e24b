// A 400 ms tone of 440 Hz in a wave file of its own.
call maketone("tone.wav")

// A synchronous sound lasts its length; the extension becomes ".wav".
t = timer()
playwav "tone.mp3", 0
e = timer() - t
if e >= 300 and e < 2400
    print "waited for the sound"
else
    print "waited ", e
endif
print "busy after it: ", wavbusy()

// A sound that cannot play does not hold the program.
t = timer()
playwav "missing", 0
e = timer() - t
if e < 2000
    print "missing sound returned"
else
    print "missing waited ", e
endif

// In the background (the default) the program goes on while it plays.
playwav "tone"
print "busy: ", wavbusy()
delay 1000
print "busy after its end: ", wavbusy()
playwav "tone", 1, 1
delay 1000
print "looping: ", wavbusy()
playwav ""
print "stopped: ", wavbusy()

// Looping needs the background: a synchronous sound plays once.
t = timer()
playwav "tone", 0, 1
e = timer() - t
if e < 2400
    print "played once"
else
    print "waited ", e
endif
print "busy after it: ", wavbusy()
end

#include "lib/tone.bas"
