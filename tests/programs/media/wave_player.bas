// A 400 ms tone of 440 Hz (8 kHz, 16-bit mono) in a wave file of its own.
h = filecreate("tone.wav")
n = 3200
call word(h, 1179011410, 4)
call word(h, 36 + 2 * n, 4)
call word(h, 1163280727, 4)
call word(h, 544501094, 4)
call word(h, 16, 4)
call word(h, 1, 2)
call word(h, 1, 2)
call word(h, 8000, 4)
call word(h, 16000, 4)
call word(h, 2, 2)
call word(h, 16, 2)
call word(h, 1635017060, 4)
call word(h, 2 * n, 4)
for k = 0 to n - 1
    v = round(8000 * sin(2 * pi() * 440 * k / 8000))
    if v < 0 then v = v + 65536
    call word(h, v, 2)
next k
x = fileclose(h)

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

sub word(h, v, n)
for b = 1 to n
    x = filewriteb(h, v band 255)
    v = (v - (v band 255)) / 256
next b
return
