# Plays the user: a thin black stroke, red picked from the palette, a thick red stroke, then Quit.
s/^while quit = 0$/width = 3\nfor k = 0 to 40\nx = 100 + k * 10\ny = 200 + 80 * sin(k \/ 6.0)\ngosub Stroke\nnext\nx = 230\ny = 580\ngosub PickColour\nwidth = 9\nfor k = 0 to 40\nx = 100 + k * 12\ny = 350 + 60 * cos(k \/ 5.0)\ngosub Stroke\nnext\nprint "colour: ", colour\nquit = 1\nwhile quit = 0/
