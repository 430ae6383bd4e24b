call fib(15)
print fib__Result
end
sub fib(n)
if n < 2
return n
endif
call fib(n - 1)
a = fib__Result
call fib(n - 2)
return a + fib__Result
