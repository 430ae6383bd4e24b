// A 3-D wire frame: a house-shaped solid turned with the arrow keys.
//
// The model is kept in arrays: one row per vertex (x, y, z and two columns
// for the projected screen position) and one row per face (colour, a
// visibility flag and its corners). gevisibles finds the faces that look
// towards the camera and the edges between them, ge3dto2da projects every
// vertex, geplotedges draws the edges in the faces' colours.
// Left and right turn about the upright axis, up and down tilt the camera,
// + and - zoom. Ends with the Esc key or by closing the window.

// The corners of a box 2 wide, 2 deep and 1.5 high, then the roof's ridge,
// three numbers each; data appends them to a list.
data corners; -1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0
data corners; -1, -1, 1.5, 1, -1, 1.5, 1, 1, 1.5, -1, 1, 1.5
data corners; 0, -1, 2.5, 0, 1, 2.5
dim v[10, 5]
for k = 0 to 9
    for j = 0 to 2
        v[k, j] = corners[3 * k + j]
    next
next
// Faces: colour, visibility (filled in), then the corners counter-clockwise
// as seen from outside; a triangle repeats its last corner.
data faces; 8, 0, 0, 3, 2, 1, 4, 0, 0, 1, 5, 4, 2, 0, 1, 2, 6, 5
data faces; 4, 0, 2, 3, 7, 6, 2, 0, 3, 0, 4, 7, 1, 0, 4, 5, 8, 8
data faces; 1, 0, 6, 7, 9, 9, 12, 0, 5, 6, 9, 8, 12, 0, 7, 4, 8, 9
dim f[9, 6]
for k = 0 to 8
    for j = 0 to 5
        f[k, j] = faces[6 * k + j]
    next
next
// The camera: distance, two angles (radians), scale and the screen centre.
dim cam[6]
cam[0] = 12
cam[1] = 0.6
cam[2] = 1.1
cam[3] = 900
cam[4] = 400
cam[5] = 330
quit = 0
gosub Draw

// Wait for the keys: lastkey gives the last key pressed (and forgets it),
// so a short press between two looks is not missed.
while quit = 0
    delay 20
    k = lastkey()
    if k <> 0 then gosub Pressed
wend
end

Pressed:
if k = 37
    cam[1] = cam[1] - 0.1
elseif k = 39
    cam[1] = cam[1] + 0.1
elseif k = 38 and cam[2] > 0.2
    cam[2] = cam[2] - 0.1
elseif k = 40 and cam[2] < 3
    cam[2] = cam[2] + 0.1
elseif (k = 187 or k = 107) and cam[3] < 3000
    cam[3] = cam[3] * 1.1
elseif (k = 189 or k = 109) and cam[3] > 200
    cam[3] = cam[3] / 1.1
elseif k = 27
    quit = 1
endif
gosub Draw
return

Draw:
rectangle 0, 0, 800, 600, 15, 15
gevisibles v, cam, f, e, 0.8
ge3dto2da v, cam
geplotedges v, e, 3, -2
xytext 10, 30, "arrow keys turn the house, + and - zoom, Esc ends", "Arial", 10, 0, 8, -1
xytext 10, 575, "turned " + format(cam[1] * 57.2958, "0") + " degrees, tilted " + format(cam[2] * 57.2958, "0") + " degrees", "Arial", 10, 0, 8, -1
return
