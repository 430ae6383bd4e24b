// A form of program-made controls: a greeting card maker.
//
// Type a name in the edit box, pick a colour from the list, set the size of
// the letters with the slider, and press Draw. Each control reports to a
// handler armed with an on... statement; a handler is disarmed when it is
// entered, so it arms itself again before it returns.
// Ends with the Quit button, the Esc key or by closing the window.

xytext 20, 20, "Greeting card maker", "Arial", 16, 1, 1, -1
xytext 20, 70, "Name:", "Arial", 10, 0, 0, -1
addedit "Name", 120, 66, 200, 24, "World"
xytext 20, 110, "Colour:", "Arial", 10, 0, 0, -1
addlistbox "Colour", 120, 106, 200, "Red" + crlf() + "Green" + crlf() + "Blue" + crlf() + "Purple"
setlistbox "Colour", 1
xytext 20, 150, "Size:", "Arial", 10, 0, 0, -1
addslider "Size", 120, 146, 200, 10, 60
setsliderpos "Size", 28
addbutton "Draw", 120, 190, 90, 28
addbutton "Quit", 230, 190, 90, 28
erectangle 360, 20, 780, 580, 0, 0

colours = "4|2|1|5"
quit = 0
cards = 0
gosub DrawCard
onbutton Clicked
onlistbox Changed
onslider Changed
onedit Changed

// Wait for the user; the handlers do the work.
while quit = 0
    delay 20
    if lastkey() = 27 then quit = 1
wend
end

Clicked:
b = lastbutton()
if b = "Quit"
    quit = 1
elseif b = "Draw"
    gosub DrawCard
endif
onbutton Clicked
return

// Any change of a setting draws the card again at once.
Changed:
x = lastlistbox()
x = lastslider()
x = lastedit()
gosub DrawCard
onlistbox Changed
onslider Changed
onedit Changed
return

DrawCard:
rectangle 361, 21, 779, 579, 15, 15
colour = tonumber(extract(colours, "|", getlistbox("Colour")))
size = getsliderpos("Size")
card = "Hello, " + getedit("Name") + "!"
xytext 380, 260, card, "Arial", size, 1, colour, -1
for k = 0 to 11
    circle 570 + 150 * cos(k * 0.5236) - 8, 420 + 100 * sin(k * 0.5236) - 8, 570 + 150 * cos(k * 0.5236) + 8, 420 + 100 * sin(k * 0.5236) + 8, colour, colour
next
cards = cards + 1
return
