#pragma once
// The whole module in one include.
#include "Combine/AnyCancellable.hpp"
#include "Combine/AnyPublisher.hpp"
#include "Combine/CurrentValueSubject.hpp"
#include "Combine/Merge.hpp"
#include "Combine/PassthroughSubject.hpp"
#include "Combine/Publisher.hpp"
#include "Combine/Published.hpp"
