// Mouse painting: hold the left button down and drag to paint; click a
// colour in the palette along the bottom to change colour; the right button
// paints a thicker line. The Clear button starts again.
// Ends with the Quit button, the Esc key or by closing the window.

// The palette: the 16 screen colours, 50 pixels each.
for c = 0 to 15
    rectangle c * 50, 560, c * 50 + 49, 599, 0, c
next
addbutton "Clear", 620, 10, 80, 26
addbutton "Quit", 710, 10, 80, 26
colour = 0
lastx = -1
quit = 0
gosub Help
onbutton Clicked

// Watch the mouse: while a button is held the stroke goes on to where the
// mouse is now. readmouse gives the button of the last press or of the move
// that came with it held (0 after a move with none held), so a quick click
// between two looks is seen too.
while quit = 0
    delay 10
    readmouse x, y, b
    if b = 0
        lastx = -1
    elseif y >= 560
        gosub PickColour
    elseif b = 1 or b = 2
        width = 3
        if b = 2 then width = 9
        gosub Stroke
    endif
    if lastkey() = 27 then quit = 1
wend
end

// A click in the palette picks its colour.
PickColour:
colour = rounddn(x / 50)
rectangle 10, 10, 40, 40, 0, colour
lastx = -1
return

// Paints from the last point of the stroke to x, y.
Stroke:
if lastx >= 0
    line lastx, lasty, x, y, width, colour
else
    circle x - 1, y - 1, x + 1, y + 1, colour, colour
endif
lastx = x
lasty = y
return

Clicked:
if lastbutton() = "Quit"
    quit = 1
else
    clearscr
    for c = 0 to 15
        rectangle c * 50, 560, c * 50 + 49, 599, 0, c
    next
    gosub Help
endif
onbutton Clicked
return

Help:
rectangle 10, 10, 40, 40, 0, colour
xytext 50, 16, "drag to paint, right button for a thick line, click a colour below", "Arial", 10, 0, 8, -1
return
