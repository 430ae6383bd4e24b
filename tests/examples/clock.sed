# Plays the user: Start is pressed, the clock ticks three times, then Quit.
s/^while quit = 0$/countdown = 60\ngosub Redraw\nticks = 0\nrepeat\ndelay 50\nif countdown < 58 then ticks = 1\nuntil ticks = 1\nprint "count-down: ", countdown\nquit = 1\nwhile quit = 0/
