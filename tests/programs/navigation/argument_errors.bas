onerror trap
ngc_distanceheading 0, 0, 0, d, c
ngc_distanceheading 0, 0, 0, 1, 2, c
ngc_distanceheading "a", 0, 0, 1, d, c
ngc_distanceheading 0, 0, 0, 1, d
end
trap:
onerror trap
geterror n
print n
return
