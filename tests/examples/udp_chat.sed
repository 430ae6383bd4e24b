# Plays the user: two lines sent, each answer awaited, then Quit. The ports are
# the test's own free ones (see the runner).
s/^while quit = 0$/gosub Send\nwaited = 0\nwhile udp_buffcount("alice") = 0 and waited < 200\ndelay 10\nwaited = waited + 1\nwend\ngosub Arrived\nsetedit "Say", "How are you?"\ngosub Send\nwaited = 0\nwhile udp_buffcount("alice") = 0 and waited < 200\ndelay 10\nwaited = waited + 1\nwend\ngosub Arrived\nquit = 1\nwhile quit = 0/
