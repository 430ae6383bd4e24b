ngc_distanceheading 0, 0, 0, 1, d, c
print round(d)
print c
ngc_distanceheading 90, 0, 0, 0, d, c
print c
ngc_distanceheading -90, 0, 0, 0, d, c
print c
ngc_radialpoint 0, 0, 60.0393, 90, lat, lon
print round(lon * 1000) / 1000
ngc_fractiondistancepoint 0, 0, 0, 10, 0.5, lat, lon
print lon
ngc_latfromloncrossing 10, 5, 20, 5, 5, lat
print lat
ngc_lonfromlatcrossing 0, 0, 0, 10, 30, a, b
print a
print b
nrl_distanceheading 0, 0, 0, 1, d, c
print round(d)
print c
nrl_radialpoint 90, 0, 10, 45, a, b
print a
print b
