// How a child of each sign behaves, one paragraph per sign in canonical
// order. Each paragraph is one line of text when shown; the literals are only
// split to keep the source readable. Trailing blanks are part of the text.

#include "core/ContentTables.h"

namespace core {

const std::array<std::string_view, 12> kChildProfiles = {
    // Aries
    "The Aries child is a natural lover of the outdoors and would rather climb a tree than "
    "sit still. Bursting with energy from the moment they wake up, Aries children run, jump "
    "and race everywhere, and they want to be first in every game. They are bold, honest and "
    "quick to speak their mind, which can make them seem bossy to brothers and sisters. "
    "Their tempers flare up fast but cool down just as quickly, and they rarely hold a "
    "grudge for long. An Aries child learns best by doing, so hands-on projects, sports and "
    "outdoor adventures keep them happy and out of trouble. Parents should give them room to "
    "explore, along with clear and simple rules. Praised for courage and coached in "
    "patience, they lead the charge, then turn back for the stragglers.",

    // Taurus
    "Taurus being ruled by the earth sign means that these children are calm, steady and "
    "fond of habits. A Taurus child likes to know what comes next, and a sudden change of "
    "plan can bring out a stubborn streak that is hard to budge. They love comfort in every "
    "form, from a soft blanket to a good meal, and they enjoy music, gardening and anything "
    "they can touch and build. Once they have made up their minds, nothing will shift them. "
    "Patient encouragement works better than pushing. Loyal and affectionate, a Taurus is "
    "the friend who turns up with a snack to share.",

    // Gemini
    "A Gemini child is highly talkative, sort of a motormouth who chats with anyone willing "
    "to listen. Curious about everything, Gemini children ask question after question and "
    "jump from one interest to the next before the first is finished. They learn to read "
    "early, love word games and riddles, and always have a clever answer ready for any "
    "scolding. Their quick minds get bored easily, so variety keeps them at their best. They "
    "can be restless and a bit scattered, and a gentle reminder to finish what they start "
    "helps them greatly. They say hello to a whole bus queue, and to the driver too. ",

    // Cancer
    "You are very attached to your home and prefer the company of your family to crowds of "
    "strangers. You feel things deeply, and a harsh word can hurt you long after others have "
    "forgotten it. You remember birthdays, look after younger children and love to be "
    "needed. When you are upset you may hide in your shell, so it helps to tell your parents "
    "and siblings how you feel. Your kindness, loyalty and gentle humour make your home a "
    "warmer place.",

    // Leo
    "Leo children are more careless than the average teenager. They rush through homework to "
    "get back to the fun, and leave a trail of toys and clothes behind. Yet Leo children "
    "have big, warm hearts and a natural gift for leadership. They love an audience and "
    "shine in school plays, sports teams and anything that puts them in the spotlight. "
    "Praise means the world to them, and a little recognition will make them work twice as "
    "hard. They can be proud and bossy, and they hate being ignored. Generous to a fault, a "
    "Leo child will share their last sweet with a friend in need. Once taught care and "
    "patience, that big heart shines like warm sunshine on family and friends.",

    // Virgo
    "Virgo children typically take a long time to open up to new people, watching quietly "
    "from the side before they join in. Once they feel safe, they reveal a sharp mind, a "
    "love of clever puns and a deep wish to be useful. A Virgo child notices every detail, "
    "from a crooked picture to a spelling mistake, and likes things to be neat and in their "
    "proper place. They are often careful, organised students who finish their homework on "
    "time and keep their school bags tidy. Their high standards can turn into worry, and "
    "they may be too hard on themselves when something goes wrong. Parents can help by "
    "praising effort rather than perfection and by reminding them that mistakes are part of "
    "learning. Virgo children enjoy helping in the kitchen, caring for pets and tending a "
    "garden. They are modest, kind and dependable, and they show their love through "
    "thoughtful little acts. ",

    // Libra
    "Physically speaking, Libra children are usually very cute babies with dimpled smiles "
    "that charm everyone around them. As they grow, they become gracious, polite and eager "
    "to please. A Libra child hates quarrels and will do almost anything to keep the peace, "
    "often acting as the go-between when brothers and sisters fight. They have a strong "
    "sense of fairness and will protest loudly when they feel something is unjust. Making "
    "choices is hard for them, whether it is picking a flavour of ice cream or a game to "
    "play, so they need time and gentle patience. Libra children love beauty in all its "
    "forms. They enjoy drawing, music, dressing up and decorating their rooms. They are "
    "sociable and rarely happy to be alone for very long. Learning to say what they want, "
    "kindly but clearly, makes a Libra a fair, charming and well-loved peacemaker in every "
    "room. ",

    // Scorpio
    "Governed by their water sign, the Scorpio child is intense, watchful and deeper than "
    "they first appear. Scorpio children feel everything strongly, though they often hide "
    "their emotions behind a calm smile. They are fiercely loyal to family and friends and "
    "expect the same loyalty in return. Betrayal is something a Scorpio child finds very "
    "hard to forgive. They are curious about mysteries and secrets, adore detective stories "
    "and want to know how things really work. Their favourite question is \"but why\", and a "
    "vague answer will never satisfy them. Strong-willed and determined, they rarely give up "
    "once they have set their heart on something. They can be jealous or secretive at times, "
    "so they need parents who are honest and consistent with them. Given trust and privacy, "
    "a Scorpio child grows into a brave, perceptive and devoted young person with a quiet "
    "strength that others admire.",

    // Sagittarius
    "From a tender age, Sagittarian children are fun loving, cheerful and always ready for "
    "an adventure. They want to see what lies beyond the next hill and ask about faraway "
    "places, animals and people. Sagittarian children are honest to the point of bluntness "
    "and may say exactly what they think without meaning to hurt anyone. They love sports, "
    "camping and travel, and a trip to the beach is a grand expedition. Rules feel like tall "
    "fences to them, so they respond best to explanations rather than orders. Their optimism "
    "is contagious, and they bounce back quickly from setbacks. A little help with focus and "
    "tidiness goes a long way.",

    // Capricorn
    "A Capricorn child is told to be born wise, and many Capricorns seem like small "
    "grown-ups from an early age. They are serious, responsible and ambitious, and they like "
    "to set goals and work steadily towards them. Capricorn children respect rules and "
    "tradition and expect brothers and sisters to do the same. They are reliable helpers at "
    "home and school, and teachers trust them with important tasks. Beneath their reserved "
    "manner lies a playful streak that surprises those who know them well. They can worry "
    "too much about success and forget to play, so parents should encourage fun, laughter "
    "and rest. Patient and practical, a Capricorn climbs towards every goal like a goat up a "
    "slope.   ",

    // Aquarius
    "An Aquarian child is very articulate and knows the art of making friends with everyone, "
    "from classmates to the old lady next door. Aquarian children are original thinkers who "
    "question everything and love inventions, science and big ideas. They value their "
    "freedom and may rebel against rules that seem pointless to them. Though friendly and "
    "kind, they can seem a little detached when emotions run high. Left free to be "
    "different, they may dream up tomorrow's invention before bedtime!",

    // Pisces
    "Pisces children are daydreamers. They drift into worlds of their own making, full of "
    "stories, music and magical creatures. A Pisces child is gentle, sensitive and deeply "
    "caring, quick to cry at a sad film and to comfort a friend. They have vivid "
    "imaginations and often shine in art, drama and creative writing. Practical matters such "
    "as homework schedules or tidy rooms slip their minds, so they need kind but firm "
    "guidance. They are easily hurt by criticism and may retreat into silence. Paints, a "
    "quiet nook and a kind ear help them flourish.",
};

} // namespace core
