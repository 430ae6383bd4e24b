# Plays the user: a new name, another colour and size, a click on Draw, then Quit.
s/^while quit = 0$/setedit "Name", "Ada"\nsetlistbox "Colour", 3\nsetsliderpos "Size", 40\ndelay 50\nx = lastbutton()\ngosub DrawCard\nprint "cards drawn: ", cards\nquit = 1\nwhile quit = 0/
