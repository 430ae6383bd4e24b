print ff_sln(1000, 100, 9), " ", ff_syd(1000, 100, 9, 1)
print ff_cifv(100, 0.1, 2), " ", ff_cit(100, 0.1, 121), " ", ff_cii(100, 121, 2)
print ff_fv(100, 0.1, 2, 0), " ", ff_fv(100, 0.1, 2, 1)
print probg(0, 0, 1)
print abs(probgi(0.5, 0, 1)) < 0.01
