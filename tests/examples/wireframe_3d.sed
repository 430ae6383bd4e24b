# Plays the user: the house is turned right three times and tilted once, then Esc.
s/^while quit = 0$/for k = 1 to 3\ncam[1] = cam[1] + 0.1\ngosub Draw\nnext\ncam[2] = cam[2] - 0.1\ngosub Draw\nprint "edges drawn: ", maxdim(e, 1)\nquit = 1\nwhile quit = 0/
