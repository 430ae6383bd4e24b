// Load, play, pause, resume, stop and close a short wave sound and a short
// video clip again and again, through the media slots and the wave player.
// One line per cycle, so that a watchdog outside sees the run move on. The
// script puts the cycle count in place of the marker below.
cycles = @CYCLES@
failed = 0
for k = 1 to cycles
    t = timer()
    mediaplay 1, "clip.wav"
    if mediastate(1) <> 2 then failed = failed + 1
    mediapause 1
    mediapause 1, 0
    mediastop 1

    mediaplay 2, "clip.avi"
    if mediaisvideo(2) <> 1 then failed = failed + 1
    mediashow 2
    mediapause 2
    mediapause 2, 0
    mediastop 2

    playwav "clip", 1
    playwav ""
    print "cycle ", k, " ms ", timer() - t, " failed ", failed
next k
print "done ", cycles, " failed ", failed
end
