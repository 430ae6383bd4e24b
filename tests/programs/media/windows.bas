// The video window is placed by its frame; only the dimensions given
// change.
mediareposition 10, 20, 300, 200
mediagetposition l, t, w, h
print l, " ", t, " ", w, " ", h
mediareposition -1, 35
mediareposition
mediagetposition l, t
print l, " ", t, " ", w, " ", h

// The screen window: position, size, control bar and border.
scrgetmetrics l0, t0, w0, h0, bar, sizeable
print "bar ", bar, " sizeable ", sizeable
scrsetmetrics 30, 40, 600, 450, 0, 0
scrgetmetrics l, t, w, h, bar, sizeable
print l, " ", t, " ", w, " ", h, " bar ", bar, " sizeable ", sizeable
scrsetmetrics -1, -1, 0, 0, 1, 1
scrgetmetrics l, t, w, h, bar, sizeable
print l, " ", t, " ", w, " ", h, " bar ", bar, " sizeable ", sizeable
// It never grows past its natural size.
scrsetmetrics 0, 0, 5000, 5000, 1, 1
scrgetmetrics l, t, w, h
print l, " ", t, " ", w = w0, " ", h = h0
