sub greet(who)
return "hello " + who
