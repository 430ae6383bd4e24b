nwt_xwind 20, 90, 0, x, h
print round(x)
print round(h)
nwt_gspeedheading 20, 0, 100, 0, gs, hd
print round(gs)
print hd
nwt_gspeedheading 200, 90, 100, 0, gs, hd
print gs
print hd
nwt_tspeedheading 20, 0, 80, 0, tas, hd
print round(tas)
nwt_tspeedwspeed 100, 100, 100, tas, ws
print round(tas)
print round(ws)
nwt_tspeedwspeed 1, 0, 0, tas, ws
print tas
print ws
