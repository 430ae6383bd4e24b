// A clock: a timer ticks every second and redraws the face, the hands, the
// date and a count-down, using the date functions and format.
//
// The Start button starts a one-minute count-down; when it reaches zero the
// clock beeps. Ends with the Quit button, the Esc key or by closing the window.

addtimer "Tick", 1000
addbutton "Start", 560, 520, 90, 28
addbutton "Quit", 670, 520, 90, 28
countdown = -1
quit = 0
gosub Redraw
ontimer Ticked
onbutton Clicked

// Wait for the user; the handlers do the work.
while quit = 0
    delay 50
    if lastkey() = 27 then quit = 1
wend
end

Ticked:
x = lasttimer()
if countdown > 0 then countdown = countdown - 1
gosub Redraw
if countdown = 0
    sound 880, 150
    countdown = -1
endif
ontimer Ticked
return

Clicked:
if lastbutton() = "Quit"
    quit = 1
else
    countdown = 60
    gosub Redraw
endif
onbutton Clicked
return

// The whole face, drawn from the time now.
Redraw:
t = now()
h = hour(t)
m = minute(t)
s = second(t)
rectangle 0, 0, 800, 600, 15, 15
circle 150, 50, 650, 550, 0, 14
for k = 1 to 12
    a = k * 30 * 3.14159265 / 180
    overlaytext 400 + 215 * sin(a) - 10, 300 - 215 * cos(a) - 12, tostring(k), "Arial", 16, 1, 0
next
// The hands: hours, minutes and seconds, each from its own angle.
a = (mod(h, 12) + m / 60.0) * 30 * 3.14159265 / 180
line 400, 300, 400 + 120 * sin(a), 300 - 120 * cos(a), 8, 0
a = (m + s / 60.0) * 6 * 3.14159265 / 180
line 400, 300, 400 + 180 * sin(a), 300 - 180 * cos(a), 5, 1
a = s * 6 * 3.14159265 / 180
line 400, 300, 400 + 200 * sin(a), 300 - 200 * cos(a), 2, 4
circle 392, 292, 408, 308, 0, 0
// The time and date as texts, and the count-down.
xytext 20, 20, time(1), "Courier New", 18, 1, 0, -1
xytext 20, 50, date(0), "Arial", 11, 0, 8, -1
if countdown >= 0
    xytext 20, 540, "count-down: 0:" + format(countdown, "00"), "Courier New", 16, 1, 4, -1
endif
return
